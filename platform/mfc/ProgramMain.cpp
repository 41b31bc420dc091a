// Placeholder program entry until the class library's start-up lands.
#include <cstdio>

int main()
{
    std::fprintf(stderr, "memory: not built yet\n");
    return 1;
}
