#include "platform/clr/Object.h"

namespace System {

const Type& Object::GetType() const { return Type::Of<Object>(); }

const ObjectRef& DBNull::Value() {
    static const ObjectRef instance = std::make_shared<DBNull>();
    return instance;
}

const Type& DBNull::GetType() const { return Type::Of<DBNull>(); }

bool IsContentless(const ObjectRef& obj) { return obj && typeid(*obj) == typeid(Object); }

} // namespace System
