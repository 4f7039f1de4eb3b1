#include "shell/BootScreenWindow.h"

#include "qemu/BootTrial.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <thread>

namespace kalvero {
namespace {

// The share of the desktop the screen may take, and the most it is enlarged.
constexpr double DesktopShare = 0.7;
constexpr double MaxEnlargement = 2.0;

QPixmap Scaled(const RgbImage& screen, const QWidget* parent) {
    const QImage image(reinterpret_cast<const uchar*>(screen.pixels.data()), screen.width,
                       screen.height, screen.width * 3, QImage::Format_RGB888);
    const QScreen* desktop = parent != nullptr && parent->screen() != nullptr
                                 ? parent->screen()
                                 : QGuiApplication::primaryScreen();
    const QSize room = desktop != nullptr ? desktop->availableSize() * DesktopShare : QSize();
    const double factor = room.isEmpty()
                              ? 1.0
                              : std::min({MaxEnlargement, room.width() / double(screen.width),
                                          room.height() / double(screen.height)});
    return QPixmap::fromImage(
        image.scaled(QSize(int(screen.width * factor), int(screen.height * factor)),
                     Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

BootVerdict VerdictOf(qemu::TrialVerdict verdict) {
    switch (verdict) {
    case qemu::TrialVerdict::Drawn:
        return BootVerdict::Drawn;
    case qemu::TrialVerdict::NotDrawn:
        return BootVerdict::NotDrawn;
    case qemu::TrialVerdict::QemuUnusable:
        return BootVerdict::QemuUnusable;
    case qemu::TrialVerdict::Stopped:
        break;
    }
    return BootVerdict::Cancelled;
}

} // namespace

BootScreenWindow::BootScreenWindow(const BootScreenRequest& request, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("BootScreenWindow"));
    setWindowTitle(QString::fromStdString(request.title));
    auto* layout = new QVBoxLayout(this);
    auto* verdict = new QLabel(QString::fromStdString(request.verdict), this);
    QFont bold = verdict->font();
    bold.setBold(true);
    verdict->setFont(bold);
    layout->addWidget(verdict);
    if (request.screen.width > 0 && request.screen.height > 0) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("BootScreen"));
        picture->setPixmap(Scaled(request.screen, parent));
        layout->addWidget(picture);
    }
    QStringList report;
    for (const std::string& line : request.report) {
        report << QString::fromStdString(line);
    }
    auto* details = new QLabel(report.join('\n'), this);
    details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(details);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

BootOutcome BootWithProgress(const BootRequest& request, QWidget* parent) {
    const qemu::TrialPlan plan = qemu::PlanTrial(request.image);
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    qemu::TrialResult result;
    qemu::TrialSettings settings;
    settings.stop = [&cancelled] {
        return cancelled.load();
    };
    std::thread worker([&] {
        result = qemu::TryBoot(request.image, plan, settings);
        finished = true;
    });
    QProgressDialog progress(parent);
    progress.setLabelText(QString::fromStdString(request.progressText));
    progress.setRange(0, 0);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        if (finished) {
            progress.reset();
        }
    });
    poll.start(50);
    progress.exec();
    cancelled = !finished;
    worker.join();
    return {cancelled ? BootVerdict::Cancelled : VerdictOf(result.verdict),
            qemu::DescribeTrial(plan, result), std::move(result.screen)};
}

} // namespace kalvero
