#include "frame.h"
#include <QHash>

namespace {
Frame *g_frame = nullptr;
struct Entry {
    screens::Factory factory;
    bool child = false;
};
QHash<QString, Entry> &registry()
{
    static QHash<QString, Entry> r;
    return r;
}
}

Frame *frame() { return g_frame; }
void setFrame(Frame *f) { g_frame = f; }

namespace screens {
void add(const QString &className, Factory factory, bool child) { registry().insert(className, {std::move(factory), child}); }
bool has(const QString &className) { return registry().contains(className); }
bool isChild(const QString &className) { return registry().value(className).child; }
QWidget *create(const QString &className, QWidget *parent)
{
    auto it = registry().constFind(className);
    if (it == registry().cend()) return nullptr;
    QWidget *w = it->factory(parent);
    if (w && w->objectName().isEmpty()) w->setObjectName(className.mid(1));
    return w;
}
}
