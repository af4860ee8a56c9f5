#include "app/ProgramHost.h"

#include "app/MainFormHost.h"

#include "platform/qt/SurfaceWidget.h"

namespace kl {

namespace {

// Stands in for the main window until it is built: an empty 1024 x 768 MainForm.
class ShellHost : public ProgramHost {
public:
    void start() override {
        window_ = std::make_unique<SurfaceWidget>(QStringLiteral("MainForm"), QSize(1024, 768));
        window_->setWindowTitle(QStringLiteral("THE KLEPSYDRA"));
        window_->show();
    }
    std::string state() const override { return {}; }

private:
    std::unique_ptr<SurfaceWidget> window_;
};

} // namespace

std::unique_ptr<ProgramHost> createProgramHost(Services& services, const std::string& workdir) {
    return createMainFormHost(services, workdir);
}

} // namespace kl
