#include "TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const vars[3] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};
}

TestHome::TestHome() {
    const QString subs[3] = {QStringLiteral("data"), QStringLiteral("config"), QStringLiteral("cache")};
    for (int i = 0; i < 3; ++i) {
        m_had[i] = qEnvironmentVariableIsSet(vars[i]);
        m_saved[i] = qgetenv(vars[i]);
        const QString p = m_dir.path() + QLatin1Char('/') + subs[i];
        QDir().mkpath(p);
        qputenv(vars[i], p.toUtf8());
    }
}

TestHome::~TestHome() {
    for (int i = 0; i < 3; ++i) {
        if (m_had[i])
            qputenv(vars[i], m_saved[i]);
        else
            qunsetenv(vars[i]);
    }
}

QString TestHome::folder(const QString& name) const {
    const QString p = m_dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(p);
    return p;
}

void TestHome::writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void TestHome::copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

QByteArray TestHome::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
