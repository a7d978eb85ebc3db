// Starting other programs: through the shell, as a waited-for hidden child, or by opening an
// address in the user's browser. Each logs its inputs and failures; none throws.
#pragma once

#include <windows.h>

#include <string>

#include "utility/win_handle.h"

namespace utility::process {

// Command line of a child: the quoted program path, then a space and the parameters when
// there are any.
std::wstring commandLine(const std::wstring& program, const std::wstring& parameters);

// Elevation verb "runas" from Windows Vista on ("open" before), hidden, not waited for.
bool shell(const std::wstring& program, const std::wstring& parameters);

// Hidden child process in a new console; the caller owns the process handle.
UniqueKernelHandle create(const std::wstring& program, const std::wstring& parameters);

// Runs a hidden child and waits up to timeoutMs (INFINITE for no limit). True when it ended
// with exit code 0. A child that outlives the timeout is left running.
bool execute(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs);

}  // namespace utility::process

namespace utility {
// Opens an address with the default handler, falling back to the system browser program.
void openUrl(const std::wstring& address);
}
