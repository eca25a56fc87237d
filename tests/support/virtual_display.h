// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual X display for the end-to-end tests: Xvfb with a patterned root, screenshots of the
// root window and helpers such as xdotool run on it.
#pragma once

#include <QImage>
#include <QProcess>
#include <QSize>

namespace orbisca::testing {

class VirtualDisplay {
public:
    explicit VirtualDisplay(QSize screen) {
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0",
                               QString("%1x%2x24").arg(screen.width()).arg(screen.height()),
                               "-retro", "-noreset", "-nolisten", "tcp"});
        // Xvfb writes the number of the display it took once it is ready.
        if (server_.waitForStarted(5000) && server_.waitForReadyRead(10000))
            name_ = ":" + QString::fromLatin1(server_.readAllStandardOutput().trimmed());
    }
    ~VirtualDisplay() {
        server_.terminate();
        server_.waitForFinished(3000);
    }
    const QString& name() const { return name_; }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }
    // Runs a helper (import, xdotool) on this display; its standard output.
    QByteArray run(const QString& program, const QStringList& args) const {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, args);
        p.waitForFinished(10000);
        return p.readAllStandardOutput();
    }
    QImage screenshot() const {
        QImage shot = QImage::fromData(run("import", {"-window", "root", "png:-"}), "PNG");
        return shot.convertToFormat(QImage::Format_RGB888);
    }

private:
    QProcess server_;
    QString name_;
};

}  // namespace orbisca::testing
