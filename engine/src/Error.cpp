#include "talveron/engine/Error.h"

#include <utility>

namespace talveron::engine {

Error::Error(ErrorCode code, std::string description, std::string source)
    : std::runtime_error(description),
      m_code(code),
      m_description(std::move(description)),
      m_source(std::move(source)) {}

}  // namespace talveron::engine
