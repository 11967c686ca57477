#include "platform/environment.h"

#include "platform/home_folder.h"
#include "platform/program_folder.h"

namespace gs {

Environment SystemEnvironment() {
  return {ProgramFolder(), SettingsFolder(), "", nullptr, UserDataFolder()};
}

}  // namespace gs
