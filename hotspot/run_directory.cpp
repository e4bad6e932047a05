#include "hotspot/run_directory.h"

Text DirectoryOfPath(std::string_view path, IsLeadByteFn isLeadByte)
{
    size_t lastBackslash = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte == '\\')
            lastBackslash = i;
        else if (isLeadByte(byte))
            ++i;  // its trail byte belongs to the same character
    }
    if (lastBackslash == std::string_view::npos)
        return Text();
    return Text(path.substr(0, lastBackslash));
}
