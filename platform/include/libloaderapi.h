// Modules and their resources.
#pragma once
#include "windef.h"

HMODULE GetModuleHandleA(LPCSTR lpModuleName);
HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
#define GetModuleHandle GetModuleHandleA
#define FindResource FindResourceA
