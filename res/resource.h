/* Resource identifiers of the program, shared by the resource script and the code.
   Only #defines: the resource compiler's preprocessor reads this file too. */
#ifndef MEMORY_RESOURCE_H
#define MEMORY_RESOURCE_H

#define IDI_MEMORY 101
#define IDR_MENU 102
#define IDD_OPTIONS 106

/* Menu commands (the exit command is the class library's ID_APP_EXIT). */
#define ID_GAME_START 40015
#define ID_FIND_SECOND_CARD 40017
#define ID_HELP_ABOUT 40020
#define ID_GAME_SOUND 40021
#define ID_GAME_DEFAULT_SIZE 40022
#define ID_GAME_OPTIONS 40023
#define ID_GAME_PLAY_MIDI 40024

/* Options dialog controls: ids 1000 to 1011; 1006 and 1007 are unused. */
#define IDC_VERTICAL 1000
#define IDC_HORIZONTAL 1001
#define IDC_SQUARE 1002
#define IDC_HV 1003
#define IDC_VH 1004
#define IDC_RANDOM 1005
#define IDC_IMMEDIATE 1008
#define IDC_ROTATE_SPEED 1009
#define IDC_WAVE_SPEED 1010
#define IDC_RESET 1011

#endif
