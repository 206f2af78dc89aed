#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

// Runs the real quillbrook-render, as a user would.
struct RenderRun {
    int exitCode = -1;
    bool normalExit = false;
    QByteArray out;
    QByteArray err;

    static RenderRun Of(const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(QUILLBROOK_RENDER_PATH), args);
        process.waitForFinished(-1);
        return {process.exitCode(), process.exitStatus() == QProcess::NormalExit, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
};

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every name in `dir`, dot files (where temporary names could hide) included.
inline QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
