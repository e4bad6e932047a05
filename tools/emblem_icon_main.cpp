// Writes the emblem as an icon file: emblem_icon OUTPUT.ico SIZE...
// ui/picture.ico is "emblem_icon ui/picture.ico 128", app/zarvik.ico is
// "emblem_icon app/zarvik.ico 256 128 96 72 64 48 32 24 16".
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tools/emblem_icon.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico SIZE...\n", argv[0]);
        return 2;
    }
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        if (size < 1 || size > 256) {
            std::fprintf(stderr, "size %s is not between 1 and 256\n", argv[i]);
            return 2;
        }
        sizes.push_back(size);
    }
    std::string bytes = EmblemIconFile(sizes);
    std::ofstream file(argv[1], std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
