#include "base/text.h"

Text Join(std::initializer_list<std::string_view> parts)
{
    size_t length = 0;
    for (std::string_view part : parts)
        length += part.size();

    Text joined;
    joined.reserve(length);
    for (std::string_view part : parts)
        joined.append(part);
    return joined;
}
