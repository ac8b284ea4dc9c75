// CImageChangeCommand: one step of the undo history, a change of the whole image by one
// command (a setup dialog's OK, Read device). It keeps the 211 bytes and the modified flag
// from before and after the change, and puts either state back into the image it points
// at (not owned: the main frame's image, which outlives its history).
#pragma once

#include <QByteArray>
#include <QUndoCommand>

class CE2prom;

struct IMAGE_STATE {
    QByteArray bytes;
    bool modified = false;
};

// The image's bytes and modified flag as they are now.
IMAGE_STATE ImageState(const CE2prom& image);

class CImageChangeCommand : public QUndoCommand {
public:
    // The change has been made: after is the image's state now.
    CImageChangeCommand(CE2prom& image, const QString& name, IMAGE_STATE before);

    void undo() override;
    void redo() override;

private:
    CE2prom& m_image;
    IMAGE_STATE m_before;
    IMAGE_STATE m_after;
};
