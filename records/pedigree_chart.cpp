#include "records/pedigree_chart.h"

#include <QLabel>
#include <QPainter>

namespace {

constexpr int kGenerations = 5;  // the animal and four generations of ancestors
constexpr int kLeaves = 16;      // places of the last generation
constexpr int kGap = 36;         // room for the joining lines between columns
constexpr int kMargin = 8;

}  // namespace

TPedigreeChart::TPedigreeChart(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

QString TPedigreeChart::PlaceCaption(int place) {
    const int generation = pedigree::PlaceGeneration(place);
    const bool male = place % 2 == 0;
    switch (generation) {
        case 0:
            return QStringLiteral("Jméno registrované");
        case 1:
            return male ? QStringLiteral("Otec") : QStringLiteral("Matka");
        case 2:
            return male ? QStringLiteral("Děd") : QStringLiteral("Bába");
        case 3:
            return male ? QStringLiteral("Praděd") : QStringLiteral("Prababa");
        default:
            return male ? QStringLiteral("Prapraděd") : QStringLiteral("Praprababa");
    }
}

void TPedigreeChart::SetPlace(int place, QWidget* field) {
    field->setParent(this);
    fields_[place] = field;
    auto* caption = new QLabel(PlaceCaption(place), this);
    caption->setObjectName(QStringLiteral("Label") + field->objectName());
    caption->setBuddy(field);
    if (pedigree::PlaceGeneration(place) <= 1) {
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
    }
    captions_[place] = caption;
    LayOutPlaces();
}

int TPedigreeChart::RowHeight() const {
    // A caption line above a field line in every place of the last generation.
    return fontMetrics().height() + fontMetrics().height() + 14;
}

int TPedigreeChart::ColumnWidth() const {
    return std::max(150, (width() - 2 * kMargin - (kGenerations - 1) * kGap) / kGenerations);
}

QSize TPedigreeChart::sizeHint() const {
    const int column = fontMetrics().horizontalAdvance(QString(26, QLatin1Char('n')));
    return {2 * kMargin + kGenerations * column + (kGenerations - 1) * kGap,
            2 * kMargin + kLeaves * RowHeight()};
}

QSize TPedigreeChart::minimumSizeHint() const {
    return {2 * kMargin + kGenerations * 150 + (kGenerations - 1) * kGap,
            2 * kMargin + kLeaves * RowHeight()};
}

// A place of generation g takes 2^(4-g) rows of the last generation; its
// field sits in the middle of them, the caption just above the field.
QRect TPedigreeChart::FieldRect(int place) const {
    const int generation = pedigree::PlaceGeneration(place);
    const int index = place - (1 << generation);
    const double span = double(height() - 2 * kMargin) / (1 << generation);
    const int fieldHeight = fields_[place] ? fields_[place]->sizeHint().height() : 22;
    const int centre = kMargin + int(span * (index + 0.5)) + fontMetrics().height() / 2;
    const int left = kMargin + generation * (ColumnWidth() + kGap);
    return QRect(left, centre - fieldHeight / 2, ColumnWidth(), fieldHeight);
}

void TPedigreeChart::LayOutPlaces() {
    for (int place = pedigree::kFirstPlace; place <= pedigree::kLastPlace; ++place) {
        if (fields_[place] == nullptr) {
            continue;
        }
        const QRect field = FieldRect(place);
        fields_[place]->setGeometry(field);
        const int captionHeight = fontMetrics().height() + 2;
        captions_[place]->setGeometry(field.left() + 2, field.top() - captionHeight, field.width(),
                                      captionHeight);
    }
}

void TPedigreeChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutPlaces();
}

// An elbow from the right edge of every field with parents to the left
// edges of its sire's field (up) and its dam's field (down).
void TPedigreeChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1.5));
    for (int place = pedigree::kFirstPlace; place <= pedigree::kPlacesWithParents; ++place) {
        const QRect child = FieldRect(place);
        const QRect sire = FieldRect(pedigree::SirePlace(place));
        const QRect dam = FieldRect(pedigree::DamPlace(place));
        const int middle = child.right() + kGap / 2;
        const int childY = child.center().y();
        painter.drawLine(child.right() + 1, childY, middle, childY);
        painter.drawLine(middle, sire.center().y(), middle, dam.center().y());
        painter.drawLine(middle, sire.center().y(), sire.left() - 1, sire.center().y());
        painter.drawLine(middle, dam.center().y(), dam.left() - 1, dam.center().y());
    }
}
