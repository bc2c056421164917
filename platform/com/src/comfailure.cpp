// Classifying the exceptions raised under an automation object's method.

#include <new>

#include "platform/com/comerror.h"
#include "platform/com/comfailure.h"
#include "talveron/engine/Error.h"

void ThrowComFailure(LONG number, std::string_view source, std::string_view description) {
    throw ComFailureException(ComFailure{HResultFromErrorNumber(number), number,
                                         std::string(source), std::string(description)});
}

ComFailure DescribeCurrentException(std::string_view source) {
    try {
        throw;
    } catch (const talveron::engine::Error& e) {
        return {HResultFromErrorNumber(e.number()), e.number(), e.source(), e.description()};
    } catch (const ComFailureException& e) {
        return e.failure();
    } catch (const _com_error& e) {
        return {e.Error(), e.Error(), std::string(source), e.ErrorMessage()};
    } catch (const std::bad_alloc&) {
        return {E_OUTOFMEMORY, E_OUTOFMEMORY, std::string(source), "Out of memory."};
    } catch (const std::exception& e) {
        return {E_FAIL, E_FAIL, std::string(source), e.what()};
    } catch (...) {
        return {E_FAIL, E_FAIL, std::string(source), "Unexpected error."};
    }
}
