#include "ListeningLog.h"

#include "core/DataFolder.h"
#include "core/JsonFile.h"

#include <QFileInfo>
#include <QJsonArray>

ListeningLog::ListeningLog(QString filePath)
    : m_path(filePath.isEmpty() ? DataFolder::file(QStringLiteral("listening.json")) : std::move(filePath)) {
    // Entry by entry: one malformed listen costs only itself. A file that is not a list at all is set aside
    // by the loader, so the next save cannot overwrite what it held.
    auto decoded = JsonFile::load<QList<Listen>>(
        m_path, [this](const QJsonDocument& doc) -> std::optional<QList<Listen>> {
            if (!doc.isArray()) return std::nullopt;
            QList<Listen> listens;
            const QJsonArray array = doc.array();
            listens.reserve(array.size());
            for (const QJsonValue& entry : array) {
                if (auto listen = Listen::fromJson(entry))
                    listens.append(std::move(*listen));
                else
                    m_copyBeforeSave = true;
            }
            return listens;
        });
    if (decoded) m_listens = std::move(*decoded);
}

void ListeningLog::record(const Listen& listen) {
    m_listens.append(listen);
    if (m_listens.size() > capacity) m_listens.remove(0, m_listens.size() - capacity);
    save();
}

void ListeningLog::save() {
    // The first save after a load that skipped entries would lose them for good: keep a copy of the file
    // as it was. When the copy cannot be made the file is left alone, as after a failed write.
    if (m_copyBeforeSave) {
        if (QFileInfo::exists(m_path) && JsonFile::copyAside(m_path).isEmpty()) return;
        m_copyBeforeSave = false;
    }
    QJsonArray array;
    for (const Listen& listen : m_listens)
        array.append(listen.toJson());
    JsonFile::write(m_path, QJsonDocument(array));
}
