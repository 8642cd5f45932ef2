// Build settings the windows show: version, home page and support address.
#pragma once

namespace marvolen::ui {

constexpr int kVersionMajor = MARVOLEN_VERSION_MAJOR;
constexpr int kVersionMinor = MARVOLEN_VERSION_MINOR;
constexpr int kVersionRevision = MARVOLEN_VERSION_PATCH;
constexpr const char* kHomepage = MARVOLEN_HOMEPAGE;
constexpr const char* kSupportMail = MARVOLEN_SUPPORT_MAIL;

} // namespace marvolen::ui
