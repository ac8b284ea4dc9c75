#include "gui/app/CImageChangeCommand.h"

#include "core/image/CE2prom.h"

namespace {

void Restore(CE2prom& image, const IMAGE_STATE& state) {
    image.ReplaceBytes(state.bytes);
    image.SetModified(state.modified);
}

} // namespace

IMAGE_STATE ImageState(const CE2prom& image) {
    return {image.Bytes(), image.IsModified()};
}

CImageChangeCommand::CImageChangeCommand(CE2prom& image, const QString& name, IMAGE_STATE before)
    : QUndoCommand(name), m_image(image), m_before(std::move(before)), m_after(ImageState(image)) {}

void CImageChangeCommand::undo() {
    Restore(m_image, m_before);
}

// The first call, when the step is pushed, finds the image already in this state.
void CImageChangeCommand::redo() {
    Restore(m_image, m_after);
}
