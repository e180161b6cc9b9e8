// The standard library throws its errors through helper functions, and ends the process through
// a terminate handler. Its own helpers build the error objects around a second, reference-counted
// string implementation that only they use, a tenth of the program's size; its handler prints the
// exception's demangled type on a console that a Windows program does not have, and the demangler
// is a fifth of the program's size. The program is linked with --wrap for each of them
// (CMakeLists.txt), so every call reaches these instead: the same kinds of error with a fixed
// text, and an abort. The program never tells the errors apart: whatever escapes a message ends
// the process (RunGuarded), and only an exception that escapes everything reaches the handler.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {
struct LibraryError : std::exception {
    explicit LibraryError(const char* text) : text_(text) {}
    const char* what() const noexcept override { return text_; }
    const char* text_;  // the library passes literals
};
}  // namespace

// The names are those the linker gives a wrapped symbol: "__wrap_" and the library's own name.
extern "C" {
[[noreturn]] void __wrap__ZSt21__throw_bad_exceptionv() { throw std::bad_exception(); }
[[noreturn]] void __wrap__ZSt17__throw_bad_allocv() { throw std::bad_alloc(); }
[[noreturn]] void __wrap__ZSt28__throw_bad_array_new_lengthv() { throw std::bad_array_new_length(); }
[[noreturn]] void __wrap__ZSt16__throw_bad_castv() { throw std::bad_cast(); }
[[noreturn]] void __wrap__ZSt18__throw_bad_typeidv() { throw std::bad_typeid(); }
[[noreturn]] void __wrap__ZSt19__throw_logic_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt20__throw_domain_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt24__throw_invalid_argumentPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt20__throw_length_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt20__throw_out_of_rangePKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt24__throw_out_of_range_fmtPKcz(const char* format, ...) { throw LibraryError(format); }
[[noreturn]] void __wrap__ZSt21__throw_runtime_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt19__throw_range_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt22__throw_overflow_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZSt23__throw_underflow_errorPKc(const char* text) { throw LibraryError(text); }
[[noreturn]] void __wrap__ZN9__gnu_cxx27__verbose_terminate_handlerEv() { std::abort(); }
}
