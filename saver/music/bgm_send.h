// Direct sends used by the player's operations, inside the module only.
#pragma once

#include <cstdint>
#include <string>

namespace Wobblevista_BGM {

// Sends a command with no reply area; the code is returned but the callers
// mostly do not look at it.
int32_t SendWithoutReply(const std::string& command);
// Sends a command with its own reply area of `capacity` characters.
int32_t SendWithReply(const std::string& command, uint32_t capacity, std::string& reply);

}  // namespace Wobblevista_BGM
