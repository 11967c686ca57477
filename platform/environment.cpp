#include "platform/environment.h"

#include "platform/program_folder.h"

namespace gs {

Environment SystemEnvironment() { return {ProgramFolder(), SettingsFolder(), "", nullptr}; }

}  // namespace gs
