// CCommandTarget: something that handles menu, toolbar and accelerator commands by their
// identifiers. The main frame offers each command to the view, the document, itself and
// the application, in that order; the first that returns true has handled it.
#pragma once

class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;
    virtual bool OnCmdMsg(int id) = 0;
};
