#include "platform/classes/TypInfo.h"

#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropertyInfo> own, Factory factory)
    : name_(std::move(name)), parent_(parent), own_(std::move(own)), factory_(std::move(factory)) {
  if (parent_) all_ = parent_->all_;
  for (PropertyInfo& p : own_) {
    p.owner = this;
    all_.push_back(&p);
  }
}

const PropertyInfo* ClassInfo::Find(std::string_view name) const {
  for (const PropertyInfo* p : all_)
    if (SameText(p->name, name)) return p;
  return nullptr;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
  for (const ClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

std::unique_ptr<TPersistent> ClassInfo::Create() const {
  if (!factory_) throw EAbstractError("Não é possível criar uma instância de " + name_);
  return factory_();
}

namespace {

const PropertyInfo& Require(const TPersistent& obj, std::string_view name, PropKind kind) {
  const PropertyInfo* p = obj.Class().Find(name);
  if (!p) throw EConvertError("Propriedade " + std::string(name) + " não existe em " + obj.ClassName());
  if (p->kind != kind) throw EConvertError("Tipo incompatível da propriedade " + p->name + " em " + obj.ClassName());
  return *p;
}

}  // namespace

PropValue GetPropValue(const TPersistent& obj, const PropertyInfo& prop) {
  if (!prop.get) throw EConvertError("Propriedade " + prop.name + " não é escalar");
  return prop.get(obj);
}

void SetPropValue(TPersistent& obj, const PropertyInfo& prop, const PropValue& value) {
  if (!prop.set) throw EConvertError("Propriedade " + prop.name + " é somente leitura");
  bool matches = (prop.kind == PropKind::Integer && std::holds_alternative<std::int32_t>(value)) ||
                 (prop.kind == PropKind::Double && std::holds_alternative<double>(value)) ||
                 (prop.kind == PropKind::String && std::holds_alternative<std::string>(value));
  if (!matches) {
    if (prop.kind == PropKind::Double && std::holds_alternative<std::int32_t>(value)) {
      prop.set(obj, PropValue(static_cast<double>(std::get<std::int32_t>(value))));
      return;
    }
    throw EConvertError("Tipo incompatível da propriedade " + prop.name);
  }
  prop.set(obj, value);
}

std::int32_t GetIntProp(const TPersistent& obj, std::string_view name) {
  return std::get<std::int32_t>(GetPropValue(obj, Require(obj, name, PropKind::Integer)));
}

double GetFloatProp(const TPersistent& obj, std::string_view name) {
  return std::get<double>(GetPropValue(obj, Require(obj, name, PropKind::Double)));
}

std::string GetStrProp(const TPersistent& obj, std::string_view name) {
  return std::get<std::string>(GetPropValue(obj, Require(obj, name, PropKind::String)));
}

void SetIntProp(TPersistent& obj, std::string_view name, std::int32_t value) {
  SetPropValue(obj, Require(obj, name, PropKind::Integer), value);
}

void SetFloatProp(TPersistent& obj, std::string_view name, double value) {
  SetPropValue(obj, Require(obj, name, PropKind::Double), value);
}

void SetStrProp(TPersistent& obj, std::string_view name, const std::string& value) {
  SetPropValue(obj, Require(obj, name, PropKind::String), value);
}

TCollection& GetCollectionProp(TPersistent& obj, std::string_view name) {
  return Require(obj, name, PropKind::Collection).collection(obj);
}
