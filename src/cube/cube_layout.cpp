#include "cube/cube_layout.h"

#include "cube/cube_fields.h"

namespace tavrel {

CubeLayout CubeLayout::standard() {
    CubeLayout layout;
    for (int d = 0; d < kDimensionCount; ++d) {
        CubeField field;
        field.identifier = QString::fromUtf8(dimensionSpecs()[d].identifier);
        field.caption = QString::fromUtf8(dimensionSpecs()[d].caption);
        field.source = d;
        field.area = CubeArea::Page;
        layout.fields_.append(field);
    }
    for (int m = 0; m < kMeasureCount; ++m) {
        CubeField field;
        field.identifier = QString::fromUtf8(measureSpecs()[m].identifier);
        field.caption = QString::fromUtf8(measureSpecs()[m].caption);
        field.numberFormat = QString::fromUtf8(measureSpecs()[m].format);
        field.isMeasure = true;
        field.source = m;
        field.area = CubeArea::Data;
        layout.fields_.append(field);
    }
    for (int i = 0; i < layout.fields_.size(); ++i) {
        layout.order_.append(i);
    }
    return layout;
}

int CubeLayout::fieldByIdentifier(const QString& identifier) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].identifier == identifier) {
            return i;
        }
    }
    return -1;
}

int CubeLayout::measureCount() const {
    int count = 0;
    for (const CubeField& field : fields_) {
        count += field.isMeasure ? 1 : 0;
    }
    return count;
}

int CubeLayout::measureField(int measure) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].isMeasure && fields_[i].source == measure) {
            return i;
        }
    }
    return -1;
}

QList<int> CubeLayout::shownMeasures() const {
    QList<int> shown;
    for (int position : fieldsIn(CubeArea::Data)) {
        if (fields_[position].visible) {
            shown.append(fields_[position].source);
        }
    }
    return shown;
}

QList<int> CubeLayout::fieldsIn(CubeArea area) const {
    QList<int> in;
    for (int position : order_) {
        if (fields_[position].area == area) {
            in.append(position);
        }
    }
    return in;
}

bool CubeLayout::moveField(int position, CubeArea area, int index) {
    if (position < 0 || position >= fields_.size()) {
        return false;
    }
    CubeField& field = fields_[position];
    const bool allowed = field.isMeasure ? (area == CubeArea::Data || area == CubeArea::Hidden)
                                         : area != CubeArea::Data;
    if (!allowed) {
        return false;
    }
    order_.removeOne(position);
    field.area = area;
    // The index counts the fields of the target area; find where that is in the whole order.
    const QList<int> others = fieldsIn(area);
    if (index < 0 || index >= others.size()) {
        order_.append(position);
    } else {
        order_.insert(order_.indexOf(others[index]), position);
    }
    return true;
}

void CubeLayout::setAllGroupFooterTypes(int type) {
    for (CubeField& field : fields_) {
        field.groupFooterType = type;
    }
}

}  // namespace tavrel
