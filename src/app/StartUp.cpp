#include "app/StartUp.h"

#include "refrange/ReferenceMaster.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <cctype>

namespace kl {

namespace {

std::string upperAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

} // namespace

bool checkScreen(Services& services) {
    ScreenSize screen = services.screenSize();
    if (screen.width >= kMinScreenWidth && screen.height >= kMinScreenHeight) return true;
    services.message(
        "caution",
        translate("StartUp",
                  "本プログラムは、ディスプレイの解像度は1024X768ドット以上でお使い下さい。       "),
        Buttons::Ok, Icon::Information);
    return false;
}

void provisionMaster(const std::string& workdir, const std::string& programDir) {
    // A copy that fails leaves the master missing; reading it later shows only "OTHER".
    provisionReferenceMaster(workdir, programDir);
}

bool checkInstallFolder(Services& services, const OsVersion& os, const std::string& currentFolder) {
    if (os.major < 6) return true;
    const std::string upper = upperAscii(currentFolder);
    if (upper.find("\\PROGRAM FILES") == std::string::npos) return true;
    const std::string trimmed = upperAscii(trimBlanks(currentFolder));
    const std::string wanted = "\\PROGRAM FILES\\KLEPSYDRA";
    if (trimmed.size() >= wanted.size() &&
        trimmed.compare(trimmed.size() - wanted.size(), wanted.size(), wanted) == 0)
        return true;
    services.message("BAD INSTALL!",
                     translate("StartUp", "「Program files」内に新しいフォルダを作成せずにインストール\r\n"
                                          "して下さい。\r\n"
                                          "「Program files」内にインストールする場合は、本プログラムの\r\n"
                                          "カレントフォルダは､「\\Program files\\KLEPSYDRA」以外設定\r\n"
                                          "できません。\r\n"
                                          "本プログラムをアンインストールして、「Program files」以外の\r\n"
                                          "フォルダまたは、上記のように再インストールして下さい。"),
                     Buttons::Ok, Icon::Information);
    services.message("END!", translate("StartUp", "プログラムを終了します。   "), Buttons::Ok,
                     Icon::Information);
    return false;
}

bool runStartUp(Services& services, const std::string& workdir, const std::string& programDir,
                StartUpInfo* info) {
    if (!checkScreen(services)) return false;
    if (info) {
        info->version = kProgramVersion;
        info->osVersion = services.osVersion().text();
    }
    provisionMaster(workdir, programDir);
    return true;
}

} // namespace kl
