// Trev1.exe: pins the program named by its one argument to the taskbar.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '\0') {
        std::puts("ERROR_BAD_ARGUMENTS: Arguments missing");
        return ERROR_BAD_ARGUMENTS;
    }
    if (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        std::printf("ERROR_FILE_NOT_FOUND: %s\n", argv[1]);
        return ERROR_FILE_NOT_FOUND;
    }
    return 0;
}
