#include "platform/store/value.h"

namespace platform {

bool SameValue(const Value& a, const Value& b) {
    return a == b;
}

}  // namespace platform
