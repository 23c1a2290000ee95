#include "FrameRules.h"

#include <QStringList>
#include <pwd.h>
#include <unistd.h>
#include <vector>

QString FrameRules::firstName() const {
    return firstWord(systemFullName());
}

QString FrameRules::firstWord(const QString& fullName) {
    const QStringList words = fullName.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words.isEmpty() ? QString() : words.first();
}

QString FrameRules::fullNameFromGecos(const QString& gecos) {
    // The rest of the field holds the office, the telephone numbers and such, comma-separated.
    return gecos.section(QLatin1Char(','), 0, 0);
}

QString FrameRules::systemFullName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    std::vector<char> buffer(size_t(size), 0);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_gecos)
        return {};
    return fullNameFromGecos(QString::fromLocal8Bit(found->pw_gecos));
}

bool FrameRules::selected(const QString& button, Nav::Page page) {
    if (button == QLatin1String("quickplay")) return page == Page::quickplay;
    if (button == QLatin1String("collection")) return page == Page::collection;
    if (button == QLatin1String("my player"))
        return page == Page::playerSummary || page == Page::playerSettings;
    if (button == QLatin1String("settings")) return page == Page::settings;
    return false;
}

double FrameRules::outerGroupWidth(double barWidth, double stripWidth) {
    const double free = barWidth - 2 * footerPadding - 2 * footerSpacing - stripWidth;
    return std::max(0.0, free / 2);
}

QString FrameRules::playerGlyph(const QString& model) {
    return model == QLatin1String("hd") ? QStringLiteral("hd") : QStringLiteral("flash");
}

QString FrameRules::playerLabel(bool samplePlayer) {
    return samplePlayer ? QStringLiteral("My player, 82% battery")
                        : QStringLiteral("My player, not connected");
}
