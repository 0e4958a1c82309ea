// The MCI error codes this interpreter answers with, as the platform numbers them.
#pragma once

#include <cstdint>

namespace qg::music {

constexpr int32_t kMciErrHardware = 262;
constexpr int32_t kMciErrInvalidDeviceName = 263;
constexpr int32_t kMciErrDeviceOpen = 265;
constexpr int32_t kMciErrCannotLoadDriver = 266;
constexpr int32_t kMciErrMissingCommandString = 267;
constexpr int32_t kMciErrBadInteger = 270;
constexpr int32_t kMciErrMissingParameter = 273;
constexpr int32_t kMciErrUnsupportedFunction = 274;
constexpr int32_t kMciErrFileNotFound = 275;
constexpr int32_t kMciErrDeviceNotReady = 276;
constexpr int32_t kMciErrExtensionNotFound = 281;
constexpr int32_t kMciErrOutOfRange = 282;
constexpr int32_t kMciErrUnrecognizedKeyword = 259;
constexpr int32_t kMciErrUnrecognizedCommand = 261;
constexpr int32_t kMciErrDuplicateAlias = 289;
constexpr int32_t kMciErrDuplicateFlags = 295;
constexpr int32_t kMciErrBadConstant = 290;
constexpr int32_t kMciErrMissingDeviceName = 292;
constexpr int32_t kMciErrBadTimeFormat = 293;
constexpr int32_t kMciErrNoClosingQuote = 294;
constexpr int32_t kMciErrInvalidFile = 296;
constexpr int32_t kMciErrExtraCharacters = 305;

}  // namespace qg::music
