#pragma once
// How the automation objects over the engine (ADO, DAO) turn a failure into a
// failed HRESULT with error information. Part of the platform_com_engine library.

#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/errorinfo.h"

struct ComFailure {
    HRESULT hr;
    LONG number;  // the engine's or the object model's error number; the HRESULT otherwise
    std::string source;
    std::string description;
};

// Raised inside an object's method for a failure of the object model itself.
class ComFailureException : public std::exception {
public:
    explicit ComFailureException(ComFailure failure) : m_failure(std::move(failure)) {}
    const ComFailure& failure() const noexcept { return m_failure; }
    const char* what() const noexcept override { return m_failure.description.c_str(); }

private:
    ComFailure m_failure;
};

// An object-model error number as automation objects report it: FACILITY_CONTROL.
constexpr HRESULT HResultFromErrorNumber(LONG number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

// Raises ComFailureException for object-model error `number`.
[[noreturn]] void ThrowComFailure(LONG number, std::string_view source,
                                  std::string_view description);

// Describes the exception being handled: an engine error with its number,
// source and description (HRESULT from the number); ComFailureException as it
// is; _com_error by its HRESULT; out of memory as E_OUTOFMEMORY; anything else
// as E_FAIL under `source`. Call only inside a catch handler.
ComFailure DescribeCurrentException(std::string_view source);

// Runs `work`; returns the failure when it throws.
template <class Work>
std::optional<ComFailure> CatchFailure(std::string_view source, Work&& work) {
    try {
        work();
        return std::nullopt;
    } catch (...) {
        return DescribeCurrentException(source);
    }
}

// Runs `work` for a method of interface `iid`: S_OK, or the failure's HRESULT
// with the thread's error information set from it.
template <class Work>
HRESULT ComMethod(REFIID iid, std::string_view source, Work&& work) {
    if (auto failure = CatchFailure(source, std::forward<Work>(work))) {
        return ReportComError(failure->hr, iid, failure->source, failure->description);
    }
    return S_OK;
}
