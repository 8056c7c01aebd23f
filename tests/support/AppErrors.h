// The application's exception handler in a test: what reaches it is
// collected instead of shown. Header-only: it needs the database library,
// which tests/support does not link.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

namespace testsupport {

// The texts of the exceptions that reach the application's handler go into
// `errors` (until the handler is set again).
inline void CollectApplicationErrors(std::vector<std::string>& errors) {
    db::SetApplicationExceptionHandler([&errors](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            errors.push_back(x.what());
        }
    });
}

}  // namespace testsupport
