#include "platform/fmx/FMX.ImgList.h"

void TSourceItem::SetName(const QString& name)
{
    const int32_t other = fOwner.IndexOf(name);
    if (other >= 0 && other != fIndex)
        throw std::invalid_argument(QString("Duplicate name \"%1\" in the image list").arg(name).toStdString());
    fName = name;
}

TSourceItem& TSourceCollection::Add()
{
    int32_t n = Count();
    QString name;
    do
        name = QString("Item %1").arg(n++);
    while (IndexOf(name) >= 0);
    return Append(std::make_unique<TSourceItem>(*this, Count(), name));
}

int32_t TSourceCollection::IndexOf(const QString& name) const
{
    for (int32_t i = 0; i < Count(); ++i)
        if (Items(i).Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
