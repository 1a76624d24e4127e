#pragma once
// The error of the Paradox table reader. Its message names the table file and
// says what is wrong with it in words a user can act on; the reader throws it
// for every damaged, truncated, encrypted or unreadable table and never reads
// past the end of what it was given.

#include "platform/store/store_error.h"

namespace platform::paradox {

class ParadoxError : public StoreError {
  public:
    using StoreError::StoreError;
};

}  // namespace platform::paradox
