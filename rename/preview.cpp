#include "rename/preview.h"

#include "engine/expand_prototype.h"
#include "engine/text_utils.h"
#include "files/file_list.h"
#include "platform/wait_cursor.h"

void PreviewNames(CListCtrl& list, std::string_view prototype) {
    const CListCtrl::Batch batch(list);
    TemplateContext context;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        list.SetItemText(row, kNewColumn,
                         ExpandPrototype(prototype, context, list.GetItemText(row, kOldColumn)));
    }
}

void RefreshList(RefreshTargets targets) {
    const CWaitCursor wait;
    const std::string prototype = CleanedName(targets.prototype.GetWindowText());
    targets.prototype.SetWindowText(prototype);
    ApplyFilter(targets.list, targets.filter, targets.filterState);
    PreviewNames(targets.list, prototype);
}
