// Run with TZ=UTC: dates are read in the local time zone.
// Prints the first sheet of an XLSX file as JSON: each cell's type, value and number format.
const XLSX = require("xlsx");
const book = XLSX.readFile(process.argv[2], { cellDates: true, cellNF: true });
const sheet = book.Sheets[book.SheetNames[0]];
const range = XLSX.utils.decode_range(sheet["!ref"]);
const rows = [];
for (let r = range.s.r; r <= range.e.r; ++r) {
  const row = [];
  for (let c = range.s.c; c <= range.e.c; ++c) {
    const cell = sheet[XLSX.utils.encode_cell({ r, c })];
    row.push(cell ? { t: cell.t, v: cell.t === "d" ? cell.v.toISOString().slice(0, 19) : cell.v } : null);
  }
  rows.push(row);
}
process.stdout.write(JSON.stringify({ sheet: book.SheetNames[0], rows }));
