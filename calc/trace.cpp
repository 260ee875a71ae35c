#include "calc/trace.h"

namespace vardo::calc {

namespace {
thread_local Trace* current = nullptr;
}

TraceScope::TraceScope(Trace& trace) : previous_(current) {
    current = &trace;
}

TraceScope::~TraceScope() {
    current = previous_;
}

Trace* currentTrace() {
    return current;
}

}  // namespace vardo::calc
