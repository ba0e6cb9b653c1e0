#pragma once
// Runs a screen's handler; an engine error is shown by the general error handler and the screen stays.
#include "dberror.h"
#include "messages.h"
#include <utility>

template <class F> bool guarded(F &&f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const DbError &e) {
        msg::engineError(e.text());
        return false;
    }
}
