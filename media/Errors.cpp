// media/Errors.cpp — message formatting for the exception texts.

#include "media/Errors.h"

#include <cstdio>

namespace skyrend {

std::string Format(const char* pattern, const std::string& a) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += a;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string Format(const char* pattern, long long a) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd') {
            out += std::to_string(a);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string Format(const char* pattern, long long a, long long b, long long c) {
    const long long args[3] = {a, b, c};
    int next = 0;
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd' && next < 3) {
            out += std::to_string(args[next++]);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace skyrend
