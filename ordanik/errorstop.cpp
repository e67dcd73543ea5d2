#include "ordanik/errorstop.h"

namespace ordanik {

void errorstop(std::string message) {
    if (message.size() > 255) message.resize(255);
    throw ErrorStop{std::move(message)};
}

}  // namespace ordanik
