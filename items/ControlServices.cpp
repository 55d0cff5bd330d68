#include "items/ControlServices.h"

namespace vantrel {

namespace {
ControlServices* current = nullptr;
}

ControlServices& Services() {
    static ControlServices none;
    return current ? *current : none;
}

ControlServices* SetControlServices(ControlServices* services) {
    ControlServices* previous = current;
    current = services;
    return previous;
}

}  // namespace vantrel
