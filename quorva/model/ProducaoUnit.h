#pragma once
// Harvests of a plan with the volume and price of each product, the ordered
// harvest cursor, and Quorva's own check of a catalogue product.

#include <string>

#include "platform/classes/Classes.h"

class TErrorList;
class TProduct;

class TItemProducao : public TCollectionItem {
  TQ_DECLARE_CLASS(TItemProducao)
public:
  TItemProducao() = default;

  const std::string& Produto() const { return produto_; }
  void SetProduto(const std::string& value) { produto_ = value; }
  // Volume per hectare.
  double Volume() const { return volume_; }
  void SetVolume(double value) { volume_ = value; }
  // Price per unit of volume.
  double Preco() const { return preco_; }
  void SetPreco(double value) { preco_ = value; }

  // Preco := price * (1 + rate/100)^age.
  void ApplyPriceEvolution(int age, double price, double rate);

  // Appends codes 603-605; true when the whole list is empty afterwards.
  bool Validate(TErrorList& errors) const;

private:
  std::string produto_;
  double volume_ = 0;
  double preco_ = 0;
};

class TItensProducao : public TTypedCollection<TItemProducao> {
public:
  using TTypedCollection::TTypedCollection;
};

class TProducao : public TCollectionItem {
  TQ_DECLARE_CLASS(TProducao)
public:
  TProducao() = default;

  // Harvest age in years.
  int Idade() const { return idade_; }
  void SetIdade(int value) { idade_ = value; }
  // "DESBASTE" or "CORTE FINAL" when imported.
  const std::string& Origem() const { return origem_; }
  void SetOrigem(const std::string& value) { origem_ = value; }
  TItensProducao& ItensProducao() { return itens_; }
  const TItensProducao& ItensProducao() const { return itens_; }

  // Sum of Volume * Preco over the items.
  double SumRevenue() const;
  // Sum of Volume over the items.
  double SumVolume() const;

  // Appends code 601 for a bad age and the items' codes; true when the whole
  // list is empty afterwards.
  bool Validate(TErrorList& errors) const;

private:
  int idade_ = 0;
  std::string origem_;
  TItensProducao itens_{this};
};

// Harvest ages the cursor visits lie strictly between 0 and this sentinel.
inline constexpr int kProducaoAgeSentinel = 999;

class TProducoes : public TTypedCollection<TProducao> {
public:
  using TTypedCollection::TTypedCollection;

  // Resets the cursor to 0 and returns NextByAge().
  TProducao* FirstByAge();
  // The first harvest (index order) of the smallest age above the cursor and
  // below the sentinel; moves the cursor to that age. nullptr when none.
  TProducao* NextByAge();

private:
  int cursor_ = 0;
};

namespace quorva {

// Quorva's form of the product check: clears the list, adds codes 201-205
// and answers whether none was added.
bool ValidateProduct(const TProduct& product, TErrorList& errors);

}  // namespace quorva
