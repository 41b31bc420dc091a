// Resource identifiers of the program.
#define IDI_MEMORY 101
#define IDR_MENU 102
