#include "worksheets/pageplan.h"

namespace tivoral {

PagePlan planPages(const QList<SectionHeights>& sections, double pageHeight, double gap) {
    PagePlan pages;
    double nextTop = 0;
    const auto place = [&](int section, int item, double height) {
        const bool fits = nextTop + height <= pageHeight;
        if (!fits && !pages.constLast().isEmpty()) {
            pages.append(QList<PlacedBlock>());
            nextTop = 0;
        }
        pages.last().append(PlacedBlock{section, item, nextTop, height});
        nextTop += height + gap;
    };
    for (int s = 0; s < sections.size(); ++s) {
        const SectionHeights& section = sections.at(s);
        if (section.items.isEmpty())
            continue;
        pages.append(QList<PlacedBlock>());
        nextTop = 0;
        place(s, PlacedBlock::Heading, section.heading);
        for (int i = 0; i < section.items.size(); ++i)
            place(s, i, section.items.at(i));
    }
    return pages;
}

} // namespace tivoral
