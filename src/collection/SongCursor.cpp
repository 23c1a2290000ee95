#include "SongCursor.h"

#include "ListKeys.h"

void SongCursor::setModel(SongListModel* model) {
    if (m_model == model) return;
    m_model = model;
    emit modelChanged();
}

void SongCursor::setCursor(int cursor) {
    if (m_cursor == cursor) return;
    m_cursor = cursor;
    emit cursorChanged();
}

void SongCursor::focusTaken() {
    if (m_cursor >= 0 || !m_model) return;
    const int current = m_model->currentRow();
    setCursor(current >= 0 ? current : 0);
}

void SongCursor::choose(int row) {
    if (!m_model || row < 0 || row >= m_model->rowCount()) return;
    setCursor(row);
    emit focusWanted();
    m_model->play(row);
}

bool SongCursor::key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus) {
    if (!m_model) return false;
    const ListKeys::Result r =
        ListKeys::press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat},
                        {m_model->rowCount(), m_cursor, ListKeys::isTextInput(focus), false, false},
                        [this](int row) { return m_model->titleAt(row); });
    if (!r.handled) return false;
    setCursor(r.cursor);
    if (r.action == ListKeys::Action::choose) m_model->play(r.cursor);
    return true;
}
