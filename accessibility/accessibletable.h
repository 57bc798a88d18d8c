#pragma once

class QTableView;

// Has screen readers read `table` as its model's cells under their column
// headings, each cell with its text as the name and its tooltip (the value
// in full) as the description. The toolkit's own reading also offers the
// corner over the row headings, an object with no name, even where the row
// headings are hidden; here the row headings and the corner are named and,
// when hidden, marked invisible. It holds for the table's life.
void SetAccessibleTable(QTableView* table);
