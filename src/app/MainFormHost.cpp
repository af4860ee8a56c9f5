// The program start as the desktop and the scenario runner drive it: start-up checks, then the
// main window and its start, then user actions until the main window ends the program.
#include "app/MainFormHost.h"

#include "app/Form3.h"
#include "app/StartUp.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "persist/WorkDir.h"

namespace kl {

namespace {

class MainFormHost : public ProgramHost {
  public:
    MainFormHost(Services& services, std::string workdir)
        : services_(services), workdir_(std::move(workdir)) {}

    void start() override {
        const std::string programDir = seedFolder();
        if (!runStartUp(services_, workdir_, programDir)) {
            services_.exitProgram(0);
            return;
        }
        window_ = std::make_unique<MainForm>(services_, workdir_);
        MainForm* form = window_.get();
        form->setMasterEditorOpener([this, form] {
            openMasterEditor(services_, workdir_, form, {},
                             [form](const std::function<void()>& h) { form->guarded(h); });
        });
        bool proceed = false;
        form->guarded([&] { proceed = form->MAINFORM_START(); });
        if (!proceed) {
            services_.exitProgram(0);
            return;
        }
        form->show();
    }

    void openDataFile(const std::string& path) override {
        if (!window_) return;
        MainForm* form = window_.get();
        form->guarded([&] {
            form->FOC();
            form->files().openDataFile(path);
        });
    }

    std::string state() const override {
        if (!window_) return {};
        return window_->appState().stateLine();
    }

  private:
    Services& services_;
    std::string workdir_;
    std::unique_ptr<MainForm> window_;
};

} // namespace

std::unique_ptr<ProgramHost> createMainFormHost(Services& services, const std::string& workdir) {
    return std::make_unique<MainFormHost>(services, workdir);
}

} // namespace kl
