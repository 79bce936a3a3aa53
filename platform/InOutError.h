#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// The runtime's input/output and conversion error. Handlers let it escape; the application's
// default exception handler shows what() to the operator and abandons the rest of the handler.
class InOutError : public std::runtime_error {
public:
    explicit InOutError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace platform
