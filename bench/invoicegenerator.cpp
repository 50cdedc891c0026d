// SPDX-License-Identifier: MIT
#include "invoicegenerator.h"

#include <string>

namespace vellora::bench {

namespace {

std::string base64(const std::string &bytes)
{
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4 + bytes.size() / 57 + 1);
    std::size_t column = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned b0 = static_cast<unsigned char>(bytes[i]);
        const unsigned b1 = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        const unsigned b2 = i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
        const unsigned triple = (b0 << 16) | (b1 << 8) | b2;
        out += alphabet[(triple >> 18) & 63];
        out += alphabet[(triple >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(triple >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[triple & 63] : '=';
        column += 4;
        if (column == 76) { // MIME line length
            out += '\n';
            column = 0;
        }
    }
    return out;
}

std::string pdfLikeBytes(std::size_t size)
{
    std::string bytes = "%PDF-1.4\n";
    unsigned state = 12345;
    while (bytes.size() < size) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 16);
    }
    bytes.resize(size);
    return bytes;
}

} // namespace

std::string generateInvoice(std::size_t lines, std::size_t attachmentBytes)
{
    std::string xml;
    xml.reserve(2000 + lines * 1400 + attachmentBytes * 4 / 3 + attachmentBytes / 50);
    xml += R"(<?xml version="1.0" encoding="UTF-8"?>
<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
 xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
 xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
 <cbc:UBLVersionID>2.1</cbc:UBLVersionID>
 <cbc:CustomizationID>urn:cen.eu:en16931:2017#compliant#urn:fdc:peppol.eu:2017:poacc:billing:3.0</cbc:CustomizationID>
 <cbc:ID>BENCH-0001</cbc:ID>
 <cbc:IssueDate>2026-01-15</cbc:IssueDate>
 <cbc:DueDate>2026-02-14</cbc:DueDate>
 <cbc:InvoiceTypeCode>380</cbc:InvoiceTypeCode>
 <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
)";
    if (attachmentBytes > 0) {
        xml += R"( <cac:AdditionalDocumentReference>
  <cbc:ID>ATT-1</cbc:ID>
  <cac:Attachment>
   <cbc:EmbeddedDocumentBinaryObject mimeCode="application/pdf" filename="scan.pdf">)";
        xml += base64(pdfLikeBytes(attachmentBytes));
        xml += R"(</cbc:EmbeddedDocumentBinaryObject>
  </cac:Attachment>
 </cac:AdditionalDocumentReference>
)";
    }
    xml += R"( <cac:AccountingSupplierParty><cac:Party>
  <cbc:EndpointID schemeID="0088">4012345000009</cbc:EndpointID>
  <cac:PartyName><cbc:Name>Muster Bürobedarf GmbH</cbc:Name></cac:PartyName>
  <cac:PostalAddress><cbc:StreetName>Hauptstraße 1</cbc:StreetName><cbc:CityName>Berlin</cbc:CityName>
   <cbc:PostalZone>10115</cbc:PostalZone><cac:Country><cbc:IdentificationCode>DE</cbc:IdentificationCode></cac:Country></cac:PostalAddress>
  <cac:PartyTaxScheme><cbc:CompanyID>DE123456789</cbc:CompanyID><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>
  <cac:PartyLegalEntity><cbc:RegistrationName>Muster Bürobedarf GmbH</cbc:RegistrationName></cac:PartyLegalEntity>
 </cac:Party></cac:AccountingSupplierParty>
 <cac:AccountingCustomerParty><cac:Party>
  <cac:PartyName><cbc:Name>Beispiel AG</cbc:Name></cac:PartyName>
  <cac:PostalAddress><cbc:CityName>München</cbc:CityName><cac:Country><cbc:IdentificationCode>DE</cbc:IdentificationCode></cac:Country></cac:PostalAddress>
 </cac:Party></cac:AccountingCustomerParty>
 <cac:PaymentMeans><cbc:PaymentMeansCode>58</cbc:PaymentMeansCode><cbc:PaymentID>BENCH-0001</cbc:PaymentID>
  <cac:PayeeFinancialAccount><cbc:ID>DE02120300000000202051</cbc:ID>
   <cac:FinancialInstitutionBranch><cbc:ID>BYLADEM1001</cbc:ID></cac:FinancialInstitutionBranch></cac:PayeeFinancialAccount>
 </cac:PaymentMeans>
 <cac:TaxTotal><cbc:TaxAmount currencyID="EUR">19.00</cbc:TaxAmount>
  <cac:TaxSubtotal><cbc:TaxableAmount currencyID="EUR">100.00</cbc:TaxableAmount><cbc:TaxAmount currencyID="EUR">19.00</cbc:TaxAmount>
   <cac:TaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>19</cbc:Percent><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:TaxCategory>
  </cac:TaxSubtotal></cac:TaxTotal>
 <cac:LegalMonetaryTotal><cbc:LineExtensionAmount currencyID="EUR">100.00</cbc:LineExtensionAmount>
  <cbc:TaxExclusiveAmount currencyID="EUR">100.00</cbc:TaxExclusiveAmount><cbc:TaxInclusiveAmount currencyID="EUR">119.00</cbc:TaxInclusiveAmount>
  <cbc:PayableAmount currencyID="EUR">119.00</cbc:PayableAmount></cac:LegalMonetaryTotal>
)";
    for (std::size_t i = 1; i <= lines; ++i) {
        const std::string n = std::to_string(i);
        xml += " <cac:InvoiceLine>\n  <cbc:ID>" + n + "</cbc:ID>\n";
        xml += R"(  <cbc:InvoicedQuantity unitCode="C62">2.500</cbc:InvoicedQuantity>
  <cbc:LineExtensionAmount currencyID="EUR">25.00</cbc:LineExtensionAmount>
  <cac:Item><cbc:Description>Recycled paper, 500 sheets, line )" +
               n + R"(</cbc:Description><cbc:Name>Paper A4 )" + n + R"(</cbc:Name>
   <cac:SellersItemIdentification><cbc:ID>SKU-)" +
               n + R"(</cbc:ID></cac:SellersItemIdentification>
   <cac:ClassifiedTaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>19</cbc:Percent><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:ClassifiedTaxCategory>
   <cac:AdditionalItemProperty><cbc:Name>Colour</cbc:Name><cbc:Value>White</cbc:Value></cac:AdditionalItemProperty>
  </cac:Item>
  <cac:Price><cbc:PriceAmount currencyID="EUR">10.00</cbc:PriceAmount><cbc:BaseQuantity unitCode="C62">1</cbc:BaseQuantity></cac:Price>
 </cac:InvoiceLine>
)";
    }
    xml += "</Invoice>\n";
    return xml;
}

} // namespace vellora::bench
