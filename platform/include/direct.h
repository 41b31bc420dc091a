// Directory services of the C runtime.
#pragma once

char* _getcwd(char* buffer, int maxlen);
