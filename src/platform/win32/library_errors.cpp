// The standard library throws its errors through these helpers. Its own versions build the error
// objects around a second, reference-counted string implementation that only they use, a tenth
// of the program's size; these throw the same kinds of error with a fixed text. The program never
// tells them apart: whatever escapes a message ends the process (RunGuarded).
#include <cstdarg>
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

namespace std {
void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* text) { throw LibraryError(text); }
void __throw_domain_error(const char* text) { throw LibraryError(text); }
void __throw_invalid_argument(const char* text) { throw LibraryError(text); }
void __throw_length_error(const char* text) { throw LibraryError(text); }
void __throw_out_of_range(const char* text) { throw LibraryError(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* text) { throw LibraryError(text); }
void __throw_range_error(const char* text) { throw LibraryError(text); }
void __throw_overflow_error(const char* text) { throw LibraryError(text); }
void __throw_underflow_error(const char* text) { throw LibraryError(text); }
}  // namespace std
