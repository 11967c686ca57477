#include "shell/qt_french_template.h"

#include <QSize>
#include <memory>

#include "effects/frmDuoTone.h"
#include "effects/frmEarthQuake.h"
#include "effects/frmResample.h"
#include "effects/frmText.h"
#include "files/frmAni.h"
#include "files/frmSave.h"
#include "import/frmExtract.h"
#include "import/frmImport.h"
#include "lang/qt_translation.h"
#include "platform/program_folder.h"
#include "platform/qt_dialog_seam.h"
#include "shell/FrmSplash.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmPrint.h"
#include "shell/help_text.h"

namespace gs {

namespace {

struct NoEffects : EffectHost {
  explicit NoEffects(IconDocument& d) : doc(d) {}
  IconDocument& Document() override { return doc; }
  void CreateBackup() override {}
  void RePaint() override {}
  IconDocument& doc;
};

}  // namespace

bool WriteFrenchTemplate(const std::string& file, const std::string& scratchFolder) {
  // No user data folder: the windows export nothing on their own, only here.
  Environment env{JoinPath(scratchFolder, "prog"), JoinPath(scratchFolder, "settings"), "",
                  &RealDialogs(), ""};
  IconDocument doc;
  NoEffects effects(doc);
  const QSize preview(36, 36);
  bool ok = true;
  const auto exportWindow = [&](std::unique_ptr<QWidget> w) {
    ok = ExportWindowTexts(w.get(), file) && ok;
  };
  {
    auto main = std::make_unique<frmMain>(env);
    main->Start(std::string());
    exportWindow(std::move(main));
  }
  exportWindow(std::make_unique<frmSave>(doc, preview, env));
  exportWindow(std::make_unique<frmAni>(preview, env));
  exportWindow(std::make_unique<frmDuoTone>(effects, preview, env));
  exportWindow(std::make_unique<frmEarthQuake>(effects, preview, env));
  exportWindow(std::make_unique<frmResample>(effects, preview, env));
  exportWindow(std::make_unique<frmText>(effects, preview, 0, 0, kBlack, env));
  exportWindow(std::make_unique<frmImport>(ImportTarget{doc, {}, {}}, preview, env));
  exportWindow(std::make_unique<frmExtract>(ImportTarget{doc, {}, {}}, env));
  exportWindow(std::make_unique<frmPrint>(doc, env));
  exportWindow(std::make_unique<frmAbout>(env));
  exportWindow(std::make_unique<FrmSplash>(env));
  ok = ExportMessageTexts(file) && ok;
  LoadHelpLines(file, "");
  return ok;
}

}  // namespace gs
