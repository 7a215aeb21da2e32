// Prints every user table of a Jet file as JSON: columns with their types, and all rows.
// Binary values become {"hex": "..."} so they survive the trip through JSON exactly.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

function encode(value) {
  if (Buffer.isBuffer(value)) return { hex: value.toString("hex") };
  if (value instanceof Date) return { date: value.toISOString() };
  return value;
}

const reader = new MDBReader(readFileSync(process.argv[2]));
const tables = {};
for (const name of reader.getTableNames()) {
  const table = reader.getTable(name);
  tables[name] = {
    rowCount: table.rowCount,
    columns: table.getColumns().map((column) => ({ name: column.name, type: column.type })),
    rows: table.getData().map((row) => Object.fromEntries(Object.entries(row).map(([k, v]) => [k, encode(v)]))),
  };
}
process.stdout.write(JSON.stringify(tables));
