#pragma once
// Binding of the two DLLs by file name at the first call of each function:
// <run dir>\data\<name>.dll, then <run dir>\<name>.dll, then the system
// directory only (never the current directory or PATH). A missing file or
// function is the program's one fatal error: a message naming the library
// file and the function, then the process ends.
#include <string_view>

namespace orv {

// Called once at start, before anything is loaded: restricts the default DLL
// search to the application and system directories where Windows allows it.
void HardenDllSearch() noexcept;

// The address of the function; never returns when it cannot be found.
void* BindFunction(std::wstring_view library, const char* function) noexcept;

// Typed form: the address cached in a function-local static by the caller, e.g.
//   static auto parse = BoundFunction<int(__stdcall*)(const char*)>(L"treedoc", "parse");
template <typename F>
F BoundFunction(std::wstring_view library, const char* function) noexcept {
    return reinterpret_cast<F>(BindFunction(library, function));
}

}  // namespace orv
