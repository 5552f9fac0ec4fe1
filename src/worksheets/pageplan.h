#pragma once

#include <QList>

namespace tivoral {

// The heights of one section's blocks, in any one unit: its heading and one block per sentence.
struct SectionHeights {
    double heading = 0;
    QList<double> items;
};

struct PlacedBlock {
    static constexpr int Heading = -1;

    int section = 0;
    int item = Heading; // the sentence block's place in its section, or Heading
    double top = 0;     // from the top of the page's body
    double height = 0;  // may exceed the page only for a block that alone is taller than it
};

using PagePlan = QList<QList<PlacedBlock>>;

// Places the blocks top to bottom, gap apart. Every section with sentences begins a page with
// its heading; a section without any gets no page. A block is never split: one that does not
// fit below the others starts the next page, and one taller than a whole page gets a page of
// its own (the painter shrinks it to fit).
PagePlan planPages(const QList<SectionHeights>& sections, double pageHeight, double gap);

} // namespace tivoral
