#pragma once
// Published-property descriptions: one declaration per class drives the file
// stream, the collection dataset and the grids.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

class TPersistent;
class TCollection;
class ClassInfo;

enum class PropKind { Integer, Double, String, Collection };

// Value of a scalar property; strings are UTF-8.
using PropValue = std::variant<std::int32_t, double, std::string>;

struct PropertyInfo {
  std::string name;  // exact case as published
  PropKind kind = PropKind::Integer;
  bool writable = true;                    // false for read-only properties such as Id
  bool stored = true;                      // false for a component's Name
  std::optional<std::int32_t> intDefault;  // declared default of an Integer property
  const ClassInfo* owner = nullptr;        // class that declares it
  std::function<PropValue(const TPersistent&)> get;
  std::function<void(TPersistent&, const PropValue&)> set;  // empty when read-only
  std::function<TCollection&(TPersistent&)> collection;     // Collection kind only
  const ClassInfo* itemClass = nullptr;                     // Collection kind only

  bool IsCollection() const { return kind == PropKind::Collection; }
  bool IsReadOnly() const { return !writable; }
  // Readable and writable, and stored: what a file keeps.
  bool IsStreamed() const { return stored && (writable || IsCollection()); }
};

class ClassInfo {
public:
  using Factory = std::function<std::unique_ptr<TPersistent>()>;

  ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropertyInfo> own, Factory factory);
  ClassInfo(const ClassInfo&) = delete;
  ClassInfo& operator=(const ClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const ClassInfo* Parent() const { return parent_; }
  // Every property, ancestor first, in declaration order.
  const std::vector<const PropertyInfo*>& Properties() const { return all_; }
  // Lookup ignoring ASCII case; nullptr when unknown.
  const PropertyInfo* Find(std::string_view name) const;
  bool InheritsFrom(const ClassInfo& other) const;
  bool CanCreate() const { return static_cast<bool>(factory_); }
  // A new default-constructed instance; raises when the class is abstract.
  std::unique_ptr<TPersistent> Create() const;

private:
  std::string name_;
  const ClassInfo* parent_;
  std::vector<PropertyInfo> own_;
  std::vector<const PropertyInfo*> all_;
  Factory factory_;
};

// Reading and writing properties by description.
PropValue GetPropValue(const TPersistent& obj, const PropertyInfo& prop);
void SetPropValue(TPersistent& obj, const PropertyInfo& prop, const PropValue& value);
std::int32_t GetIntProp(const TPersistent& obj, std::string_view name);
double GetFloatProp(const TPersistent& obj, std::string_view name);
std::string GetStrProp(const TPersistent& obj, std::string_view name);
void SetIntProp(TPersistent& obj, std::string_view name, std::int32_t value);
void SetFloatProp(TPersistent& obj, std::string_view name, double value);
void SetStrProp(TPersistent& obj, std::string_view name, const std::string& value);
TCollection& GetCollectionProp(TPersistent& obj, std::string_view name);

// Builds the description of class C, whose parent description is given.
//   static const ClassInfo ci = ClassBuilder<TProduct>("TProduct", &TCollectionItem::StaticClass())
//       .ReadOnlyInteger("Id", &TProduct::Id)
//       .String("Name", &TProduct::Name, &TProduct::SetName)
//       .Build();
template <class C>
class ClassBuilder {
public:
  ClassBuilder(std::string name, const ClassInfo* parent) : name_(std::move(name)), parent_(parent) {}

  template <class G, class S>
  ClassBuilder& Integer(std::string name, G get, S set, std::optional<std::int32_t> def = std::nullopt) {
    PropertyInfo p = Scalar<PropKind::Integer>(std::move(name), get, set);
    p.intDefault = def;
    props_.push_back(std::move(p));
    return *this;
  }
  template <class G>
  ClassBuilder& ReadOnlyInteger(std::string name, G get) {
    props_.push_back(Scalar<PropKind::Integer>(std::move(name), get, nullptr));
    return *this;
  }
  template <class G, class S>
  ClassBuilder& Double(std::string name, G get, S set) {
    props_.push_back(Scalar<PropKind::Double>(std::move(name), get, set));
    return *this;
  }
  template <class G>
  ClassBuilder& ReadOnlyDouble(std::string name, G get) {
    props_.push_back(Scalar<PropKind::Double>(std::move(name), get, nullptr));
    return *this;
  }
  template <class G, class S>
  ClassBuilder& String(std::string name, G get, S set) {
    props_.push_back(Scalar<PropKind::String>(std::move(name), get, set));
    return *this;
  }
  template <class G>
  ClassBuilder& ReadOnlyString(std::string name, G get) {
    props_.push_back(Scalar<PropKind::String>(std::move(name), get, nullptr));
    return *this;
  }
  // A collection property: the getter returns the owned collection by reference.
  template <class G>
  ClassBuilder& Collection(std::string name, G get, const ClassInfo& itemClass) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Collection;
    p.writable = false;
    p.collection = [get](TPersistent& o) -> TCollection& { return (static_cast<C&>(o).*get)(); };
    p.itemClass = &itemClass;
    props_.push_back(std::move(p));
    return *this;
  }
  // Marks the last declared property as not stored.
  ClassBuilder& NotStored() {
    props_.back().stored = false;
    return *this;
  }

  std::unique_ptr<ClassInfo> Build() {
    ClassInfo::Factory factory;
    if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>) {
      factory = [] { return std::unique_ptr<TPersistent>(new C()); };
    }
    return std::make_unique<ClassInfo>(std::move(name_), parent_, std::move(props_), std::move(factory));
  }

private:
  template <PropKind K, class G, class S>
  static PropertyInfo Scalar(std::string name, G get, S set) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = K;
    p.get = [get](const TPersistent& o) -> PropValue {
      const C& c = static_cast<const C&>(o);
      if constexpr (K == PropKind::Integer)
        return static_cast<std::int32_t>((c.*get)());
      else if constexpr (K == PropKind::Double)
        return static_cast<double>((c.*get)());
      else
        return std::string((c.*get)());
    };
    if constexpr (std::is_null_pointer_v<S>) {
      p.writable = false;
    } else {
      p.set = [set](TPersistent& o, const PropValue& v) {
        C& c = static_cast<C&>(o);
        if constexpr (K == PropKind::Integer)
          (c.*set)(std::get<std::int32_t>(v));
        else if constexpr (K == PropKind::Double)
          (c.*set)(std::get<double>(v));
        else
          (c.*set)(std::get<std::string>(v));
      };
    }
    return p;
  }

  std::string name_;
  const ClassInfo* parent_;
  std::vector<PropertyInfo> props_;
};

// Declares the run-time description of a class. Define StaticClass() in the
// source file with a ClassBuilder.
#define TQ_DECLARE_CLASS(Name)              \
public:                                     \
  static const ClassInfo& StaticClass();    \
  const ClassInfo& Class() const override { \
    return Name::StaticClass();             \
  }
