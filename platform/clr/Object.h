#pragma once
// The managed runtime's root object, type descriptors and boxed values.
// A value object is held through ObjectRef; a null ObjectRef is "no object".

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>

namespace System {

class Type;
class Object;
using ObjectRef = std::shared_ptr<Object>;

// A type descriptor: one instance per type, compared by address.
class Type {
public:
    explicit Type(std::string fullName) : m_fullName(std::move(fullName)) {}
    Type(const Type&) = delete;
    const std::string& FullName() const { return m_fullName; }
    template <class T> static const Type& Of();

private:
    std::string m_fullName;
};

// The root class. A plain Object is a contentless object: neither null nor DBNull.
class Object {
public:
    virtual ~Object() = default;
    virtual const Type& GetType() const;
    virtual std::string ToString() const { return GetType().FullName(); }
};

template <class T> struct TypeName;  // FullName of each boxed or managed type

template <class T> const Type& Type::Of() {
    static const Type type(TypeName<T>::value());
    return type;
}

template <> struct TypeName<Object> { static std::string value() { return "System.Object"; } };

// The database null value; one instance.
class DBNull final : public Object {
public:
    static const ObjectRef& Value();
    const Type& GetType() const override;
    std::string ToString() const override { return {}; }
};
template <> struct TypeName<DBNull> { static std::string value() { return "System.DBNull"; } };

// A boxed value of a value type T.
template <class T> class Boxed final : public Object {
public:
    explicit Boxed(T value) : m_value(std::move(value)) {}
    const T& Value() const { return m_value; }
    const Type& GetType() const override { return Type::Of<T>(); }

private:
    T m_value;
};

template <class T> ObjectRef Box(T value) { return std::make_shared<Boxed<T>>(std::move(value)); }

// The boxed value of type exactly T, or null when the object is of another type.
template <class T> const T* TryUnbox(const ObjectRef& obj) {
    const auto* boxed = dynamic_cast<const Boxed<T>*>(obj.get());
    return boxed ? &boxed->Value() : nullptr;
}

inline ObjectRef NewObject() { return std::make_shared<Object>(); }
inline bool IsDBNull(const ObjectRef& obj) { return obj && obj.get() == DBNull::Value().get(); }
// True for an object of class Object itself, with no content.
bool IsContentless(const ObjectRef& obj);

// Value types of the runtime.
using Boolean = bool;
using Byte = uint8_t;
using Int16 = int16_t;
using Int32 = int32_t;
using UInt32 = uint32_t;
using Single = float;
using Double = double;

template <> struct TypeName<bool> { static std::string value() { return "System.Boolean"; } };
template <> struct TypeName<uint8_t> { static std::string value() { return "System.Byte"; } };
template <> struct TypeName<int16_t> { static std::string value() { return "System.Int16"; } };
template <> struct TypeName<int32_t> { static std::string value() { return "System.Int32"; } };
template <> struct TypeName<uint32_t> { static std::string value() { return "System.UInt32"; } };
template <> struct TypeName<float> { static std::string value() { return "System.Single"; } };
template <> struct TypeName<double> { static std::string value() { return "System.Double"; } };

} // namespace System
