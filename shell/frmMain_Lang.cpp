#include "shell/frmMain_Lang.h"

#include "files/file_commands.h"
#include "files/file_dialogs.h"
#include "lang/qt_translation.h"
#include "shell/frmMain_Effects.h"
#include "shell/help_text.h"
#include "shell/qt_web.h"

namespace gs {

void frmMain::SetupLanguage() {
  // What the main window and the file commands show outside the controls.
  AddWindowMessages(this, {{"msgSaveChanges", kSaveChangesQuestion},
                           {"msgFileNotFound", kFileNotFound},
                           {"msgSaveFailed", kSaveFailedLead},
                           {"msgOpenFailed", kOpenFailedLead},
                           {"msgNotAnIcon", kNotAnIconLead},
                           {"msgDamagedFile", kDamagedFileLead},
                           {"msgFileChanged", kFileChangedQuestion},
                           {"msgHiddenSave", kHiddenSaveQuestion},
                           {"msgHelpTitle", kHelpTitle},
                           {"msgPixelate", kPixelatePrompt},
                           {"msgAngle", kAnglePrompt},
                           {"msgSettingsNotSaved", kSettingsNotSaved},
                           {"msgSettingsBusy", kSettingsBusy},
                           {kLanguageNotSavedKey, kLanguageNotSaved},
                           {kNoHandbookKey, kNoHandbook},
                           {kHandbookNotOpenedKey, kHandbookNotOpened}});
  for (const DialogText& t : kDialogTexts) AddWindowMessages(this, {{t.key, t.text}});
  LoadWindowLanguage(
      this, env_, /*exportMessages=*/false,
      templateAfterFirstFrame_ ? TemplateExport::AfterFirstFrame : TemplateExport::Now);
  RebuildLanguageMenu(this, Menu("mnuLng"), env_);
}

}  // namespace gs
