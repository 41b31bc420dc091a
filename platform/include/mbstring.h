// Multibyte string functions of the runtime library.
#pragma once

// Compares two strings ignoring case; <0, 0 or >0.
int _mbsicmp(const unsigned char* string1, const unsigned char* string2);
