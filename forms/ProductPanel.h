#pragma once
// The list of products with its navigator and the edits of the current
// product: name, minimum diameter and length under "Dimensões da Tora:",
// price and its yearly evolution under "Preço:". The product catalogue
// frames and Tallora's log assortment show it over their data sources.

#include <QString>
#include <QWidget>
#include <string>

class DbGrid;
class DbLineEdit;
class DbNavigator;
class IDialogs;
class QAbstractButton;
class QHBoxLayout;
class QLabel;
class TDataSource;

struct TProductPanelOptions {
  // The list's label and the grid's name.
  QString listLabel = "&Produtos:";
  std::string gridName = "DBGridProducts";
  // The price edit's label and the price-evolution edit's name.
  QString priceLabel = "&Preço de mercado:";
  std::string priceEvolutionEditName = "DBEditPriceEvolutionRate";
};

class TProductPanel : public QWidget {
public:
  // The dialogs ask before a delete.
  TProductPanel(QWidget* parent, TDataSource* source, IDialogs& dialogs, const TProductPanelOptions& options);

  DbGrid* Grid() const { return grid_; }
  DbNavigator* Navigator() const { return navigator_; }
  QLabel* PriceLabel() const { return priceLabel_; }
  // Puts a button on the navigator's row, at its right.
  void AddButton(QAbstractButton* button);

private:
  DbGrid* grid_;
  DbNavigator* navigator_;
  QLabel* priceLabel_;
  QHBoxLayout* buttonRow_;
};
