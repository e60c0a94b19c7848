#include "graphics/IGraphics.h"

#include "core/ICoreParameter.h"
#include "graphics/IPopupMenu.h"

#include <cstdio>
#include <cstring>

void IGraphics::PromptForParameterValue(IControl* control, ICoreParameter* parameter,
                                        const PixelRect& rect) {
    if (!control || !parameter)
        return;
    const bool offerMenu = parameter->kind == KindEnumerated ||
                           (parameter->kind == KindBoolean && parameter->DisplayTextCount() > 0);
    if (offerMenu) {
        char current[32];
        parameter->FormatValue(current, sizeof current);
        IPopupMenu menu;
        const int count = parameter->DisplayTextCount();
        for (int i = 0; i < count; ++i) {
            const char* text = parameter->DisplayTextFor(i);
            if (!text)
                text = "";
            menu.AddItem(text, std::strcmp(text, current) == 0 ? IPopupMenu::ItemChecked : 0);
        }
        IPopupMenu* chosen = PopupMenuAt(menu, rect);
        if (chosen && chosen->ChosenItem() >= 0)
            control->SetValueFromEntry(parameter->ToNormalised(chosen->ChosenItem()));
        return;
    }
    const double value = parameter->value;
    const double shown = parameter->negateDisplay ? -value : value;
    char text[64];
    if (parameter->displayPrecision > 0)
        std::snprintf(text, sizeof text, "%.*f", parameter->displayPrecision, shown);
    else
        std::snprintf(text, sizeof text, "%d", TruncateToInt32(shown));
    OpenTextEntry(control, control->GetTextStyle(), rect, text, parameter);
}
