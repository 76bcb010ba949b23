#pragma once

#include <memory>

namespace sestina {
struct Corpo;
}

namespace sestina::cli {

// The model of one command with the user's data folder (XDG_DATA_HOME moves it) and its
// configuration path; nothing is read or created yet.
std::unique_ptr<Corpo> CorpoDelleCartelle();

} // namespace sestina::cli
