#include "compact/Regloader.h"

#include <QFile>
#include <QImage>
#include <QMetaObject>
#include <QRegion>
#include <memory>
#include <optional>

#include "compact/compact_window.h"
#include "data/error_log.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

namespace orbisca {
namespace {

// "Floading.log", written line by line so that a failed run shows how far it got. It is handed
// from the worker to the user-interface thread, never written by both at once.
class LoaderLog {
public:
    void start() {
        log_.start(resolvePath(QStringLiteral("Floading.log")));
        line(QStringLiteral("StartTime=") + programNow().toString(QStringLiteral("hh:mm")));
    }
    void line(const QString& text) { log_.append(text); }
    void finish() {
        line(QStringLiteral("EndTime=") + programNow().toString(QStringLiteral("hh:mm")));
        log_.close();
    }
    void fail() {
        line(QStringLiteral("ERROR!!!"));
        log_.close();
    }
    void close() { log_.close(); }

private:
    LineLog log_;
};

// What the worker hands to the user-interface thread.
struct LoaderResult {
    std::shared_ptr<LoaderLog> log;
    QRegion outline;
    std::optional<QImage> face;  // "graphic\pyr0.bmp", read ahead; empty when it cannot be read
};

void reportLoaderFailure() {
    if (writeerror(kErrorLoader, QStringLiteral("orbisca window fx loader"))) requestProgramEnd(1);
}

// Steps 6 to 18 on the user-interface thread, each followed by its log line.
void applyOutline(TForm1& form, const LoaderResult& result) {
    LoaderLog& log = *result.log;
    const auto* step = std::begin(kLoaderWindowSteps);
    try {
        compactState().STATE = -100;
        const QRegion onePixel(0, 0, 1, 1);
        log.line(*step++);  // createrectrgn
        log.line(*step++);  // h <- rectangle region
        log.line(*step++);  // h <- copy of the outline
        if (!result.face) throw gfx::ImageError("cannot read graphic/pyr0.bmp");
        form.loaderSetFace(*result.face);
        log.line(*step++);
        form.loaderSetFrame(*result.face);
        log.line(*step++);
        form.loaderSetRegion(onePixel);
        log.line(*step++);
        form.loaderCentre();
        log.line(*step++);
        log.line(*step++);  // createrectrgn
        log.line(*step++);  // lastcombine
        form.loaderSetRegion(result.outline);
        log.line(*step++);
        form.timer().start();
        log.line(*step++);
        log.line(*step++);  // terminate thread
        log.finish();
    } catch (const std::exception&) {
        log.fail();
        reportLoaderFailure();
    }
}

}  // namespace

regload::regload(TForm1* form) : form_(form) {
    thread_ = std::thread([this] { Execute(); });
}

regload::~regload() { stop(); }

void regload::stop() {
    stopRequested_ = true;
    if (thread_.joinable()) thread_.join();
}

void regload::wait() {
    if (thread_.joinable()) thread_.join();
}

void regload::Execute() {
    auto log = std::make_shared<LoaderLog>();
    log->start();
    try {
        LoaderResult result;
        result.log = log;
        log->line(kLoaderWorkerSteps[0]);
        log->line(kLoaderWorkerSteps[1]);
        const QImage mask = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\pyrA0.bmp")));
        log->line(kLoaderWorkerSteps[2]);
        if (stopRequested_) throw std::runtime_error("stopped");
        result.outline = gfx::BitmapToRegion(mask, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
        log->line(kLoaderWorkerSteps[3]);
        try {
            result.face = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\pyr0.bmp")));
        } catch (const gfx::ImageError&) {
        }
        if (!stopRequested_) {
            QMetaObject::invokeMethod(
                form_,
                [form = form_, result] {
                    if (compactState().closed)
                        result.log
                            ->close();  // the window closed meanwhile: nothing is left to shape
                    else
                        applyOutline(*form, result);
                },
                Qt::QueuedConnection);
        } else {
            log->close();
        }
    } catch (const std::exception&) {
        if (stopRequested_) {
            log->close();
        } else {
            log->fail();
            QMetaObject::invokeMethod(
                form_, [] { reportLoaderFailure(); }, Qt::QueuedConnection);
        }
    }
}

}  // namespace orbisca
