#include "core/forms/FormTable.h"

const BINDING_ENTRY* FindBinding(const FORM_TABLE& form, int controlId) {
    for (const BINDING_ENTRY& binding : form.bindings)
        if (binding.controlId == controlId)
            return &binding;
    return nullptr;
}

QString LineValue(const SETTING_LINE& line, const CSettingSource& source) {
    return line.compute ? line.compute(source) : source.ValueText(line.controlId);
}
